#pragma once
// Qt's own texts (standard buttons, the printer setup, file choosers) in the
// edition's language, from the translations the system has installed, with the
// program's own catalogue for the texts those leave untranslated.

class QCoreApplication;

namespace varnok {

// Installs Qt's translations for the edition's language on `application`.
// False when the system has none for it; Qt's texts then stay in English.
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace varnok
