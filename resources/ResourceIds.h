// Resource IDs shared by resources.rc and the code. Plain #defines: windres reads this too.
#pragma once

#define IDI_PROGRAM 1
#define IDR_ICON_ADD 101
#define IDR_ICON_SEND 102
#define IDR_ICON_CLEAR 103
#define IDR_ICON_EXIT 104
#define IDR_ICON_DELETE 105
#define IDR_PICTURE 110
