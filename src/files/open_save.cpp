#include "files/open_save.h"

#include "files/file_extension.h"
#include "files/midi_writer.h"
#include "files/score_file.h"

namespace vesko {

bool isMidiName(const std::string& fileName) {
  const std::string ext = fileExtension(fileName);
  return ext == "MIDI" || ext == "MID";
}

void openClicked(App& app, const Event&) {
  const Ctl dialog = app.ctl("通用对话框1");
  // 1. and 2. A confirmed choice drops the recording.
  if (app.tk.showFileDialog(dialog, FileDialogMode::Open)) app.st.scoreText.clear();
  // 3. Confirmed or not, the play mode follows the dialog's file name.
  app.st.playMode = isMidiName(app.tk.fileName(dialog)) ? 1 : 2;
}

void saveClicked(App& app, const Event&) {
  PianoState& st = app.st;
  WindowToolkit& tk = app.tk;
  // 1.
  if (st.scoreText.empty()) return;
  // 2.
  const Ctl dialog = app.ctl("通用对话框1");
  if (!tk.showFileDialog(dialog, FileDialogMode::Save)) return;
  // 3.
  const int instrument = app.midi.getInstrument();
  // 4. The old file is replaced only once the new content is safely written.
  const std::string name = tk.fileName(dialog);
  bool saved;
  if (isMidiName(name))
    saved = exportMidiFile(st.scoreText + "p@2", name, [&tk] { tk.processPendingEvents(); });
  else
    saved = writeScoreFile(name, instrument & 0xFF, st.scoreText);
  // 5. A write that failed is said so, rather than reported as saved.
  if (saved)
    tk.messageBox(kSavedText, kMbInformation);
  else
    tk.messageBox(kSaveFailedText, kMbError);
}

}  // namespace vesko
