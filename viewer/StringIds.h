#pragma once
// Identifiers of the viewer's strings. Shared by the viewer and every language library (Lumbra_<code>.rc),
// so this file holds nothing but #define lines that windres understands as well.

// Facts about the language itself.
#define IDS_LANGUAGE_NAME      1   // the language's own name, e.g. "Deutsch"
#define IDS_LOCALE_NAME        2   // locale used for digit grouping, e.g. "de-DE"
#define IDS_PLURAL_RULE        3   // one, zero-one, none, ru, cs or pl (see TextUtil.h)
#define IDS_UI_FONT            4   // preferred face names separated by ';' (may be empty)

// Window texts.
#define IDS_APP_TITLE        100
#define IDS_LABEL_FILE       101
#define IDS_LABEL_SIZE       102
#define IDS_LABEL_LANGUAGE   103
#define IDS_NO_FILE          104
#define IDS_LABEL_PREVIEW    105
#define IDS_LABEL_FILES      106
#define IDS_CLOSE            107
#define IDS_BYTES_ONE        108   // "%s" is replaced by the grouped number
#define IDS_BYTES_FEW        109
#define IDS_BYTES_MANY       110
#define IDS_COLUMN_NAME      111
#define IDS_COLUMN_SIZE      112
#define IDS_FILE_EMPTY       113
#define IDS_FILE_UNREADABLE  114
#define IDS_FILE_IS_FOLDER   115
#define IDS_PREVIEW_NO_FILE  116
#define IDS_LIST_TRUNCATED   117

#define IDS_FIRST_META         1
#define IDS_LAST_META          4
#define IDS_FIRST_TEXT       100
#define IDS_LAST_TEXT        117
