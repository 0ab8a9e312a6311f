#ifndef BUTTON_SAMPLE_IDS_H
#define BUTTON_SAMPLE_IDS_H
/* Sample pictures of the bitmap buttons (drawn by make_buttons.py), for the gallery and the tests. */

/* A round push button, 40 x 40, keyed on RGB(255, 0, 255) outside the circle. */
#define IDB_SAMPLE_ROUND_UP 3201
#define IDB_SAMPLE_ROUND_DOWN 3202
#define IDB_SAMPLE_ROUND_ROLLOVER 3203
#define IDB_SAMPLE_ROUND_DISABLED 3204

/* A pill-shaped toggle, 96 x 28. */
#define IDB_SAMPLE_TOGGLE_UP 3211
#define IDB_SAMPLE_TOGGLE_SELECTED 3212
#define IDB_SAMPLE_TOGGLE_DOWN 3213
#define IDB_SAMPLE_TOGGLE_DISABLED 3214
#define IDB_SAMPLE_TOGGLE_DISABLED_SELECTED 3215
#define IDB_SAMPLE_TOGGLE_INTERMEDIATE 3216

/* An indeterminate check box (a dash) in the style of the launcher's 709 to 712, 15 x 15. */
#define IDB_SAMPLE_CHECK_INTERMEDIATE 3217

#endif
