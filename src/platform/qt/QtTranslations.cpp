// Qt's own texts in the window, the context menus of the text boxes and scroll bars, in Japanese.
#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavimo {

bool installJapaneseQtTexts(QCoreApplication& application)
{
    // qtbase holds the texts of the widgets' own menus ("元に戻す", "貼り付け",
    // "ここにスクロール").
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace tavimo
