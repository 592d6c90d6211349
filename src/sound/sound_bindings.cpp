#include "app/bindings.h"
#include "sound/presets.h"
#include "sound/settings_window.h"

namespace vesko {

std::vector<Binding> soundBindings() {
  std::vector<Binding> list = {
      {kMainWindow, "图形按钮4", EventKind::Clicked, settingsButtonClicked},
      {kMainWindow, "图形按钮3", EventKind::Clicked, settingsButtonClicked},
      {kSettingsWindow, "", EventKind::Created, settingsCreated},
      {kSettingsWindow, "滑块条1", EventKind::SliderChanged, takeTransposeFromSlider},
      {kSettingsWindow, "按钮1", EventKind::Clicked, settingsConfirmed},
      {kSettingsWindow, "按钮2", EventKind::Clicked, settingsCancelled},
  };
  static const char* const kPresets[12] = {"效果1", "效果2", "效果3", "效果4", "效果5", "效果6",
                                           "效果7", "效果8", "效果9", "效果10", "效果11", "效果12"};
  for (const char* name : kPresets) list.push_back({kMainWindow, name, EventKind::Clicked, presetClicked});
  return list;
}

}  // namespace vesko
