// Qt's own texts in the window, the context menus of the text boxes and scroll bars, in Japanese.
#pragma once

class QCoreApplication;

namespace tavimo {

// Installs Qt's Japanese translations (Debian's qt6-translations-l10n) whatever the user's locale:
// every text the window shows is Japanese. The locale itself, which number recognition follows,
// stays the user's. Returns false where the translations are not installed; Qt's menus then stay
// in English.
bool installJapaneseQtTexts(QCoreApplication& application);

} // namespace tavimo
