#pragma once
// Qt's own texts (standard buttons, the printer setup, file choosers) in the
// edition's language, from the translations the system has installed, with the
// program's own catalogue for the texts those leave untranslated.

class QCoreApplication;
class QString;

namespace varnok {

// The name of Qt's catalogue for `language` in `folder`: "qtbase_<language>",
// the texts of the Qt modules the program uses, or, for a language Qt still
// translates in one old catalogue of every module, "qt_<language>"; "" for none.
QString QtCatalogueFor(const QString& language, const QString& folder);

// Installs Qt's translations for the edition's language on `application`.
// False when the system has none for it; Qt's texts then stay in English.
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace varnok
