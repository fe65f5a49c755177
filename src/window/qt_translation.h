// Qt's own texts (the message box's button, the text boxes' context menus) in Simplified
// Chinese, like the rest of the window.
#pragma once

class QCoreApplication;

// False when Qt's Chinese translation is not installed; Qt's texts then stay in English.
bool installChineseQtTexts(QCoreApplication& app);
