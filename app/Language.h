#pragma once
// The language code of a run: selects the LANG_/HELP_ archives and the viewer's /l switch.
#include "platform/mfc/CString.h"

// A copy of the process-wide current-language string ("EN" unless changed).
CString ZebGetCurrentLanguage();
void ZebSetCurrentLanguage(const CString& strLanguage);

// Code for a user interface language; only the primary language id (low 10 bits) counts.
const wchar_t* LanguageCodeForLangId(LANGID langId);

// The /l value when given, else the current language, else the user's interface language.
CString ChooseLanguageCode(const CString& strCommandLineLanguage);
