#pragma once

// Help context numbers of the dialog's controls, passed to the host's help.
#define HIDC_HELP_BTN 0x80690413
#define HIDC_DEFAULTS_BTN 0x80690416
#define HIDC_CHECK_ALL_BTN 0x80690417
#define HIDC_FONT_LIST_CAPTION 0x80690418
#define HIDC_FONT_LIST 0x80690419
#define HIDC_CLEAR_ALL_BTN 0x8069041A
#define HIDOK 0x80690001
#define HIDCANCEL 0x80690002
