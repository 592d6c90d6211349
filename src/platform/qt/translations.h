#pragma once

class QApplication;

namespace vesko {

// Qt's own texts (dialog buttons, the file dialog) in Chinese, whatever the
// user's locale: every text the keyboard shows is Chinese.
void installChineseTranslations(QApplication& app);

}  // namespace vesko
