#pragma once
#include "app/app.h"

namespace vesko {

inline constexpr const char* kSavedText = "保存文件成功";
inline constexpr const char* kSaveFailedText = "保存文件失败！";

// True for the extensions the program reads and writes as MIDI files.
bool isMidiName(const std::string& fileName);

void openClicked(App& app, const Event& e);
void saveClicked(App& app, const Event& e);

}  // namespace vesko
