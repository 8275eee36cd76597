// Resource IDs shared by resources.rc and the code. Plain #defines: windres reads this too.
#pragma once

#define IDI_PROGRAM 1

// Button icons at 100 %; the sets for 125 %, 150 % and 200 % follow at steps of
// IDR_SCALE_STEP (IDR_ICON_ADD + 2 * IDR_SCALE_STEP is the add icon at 150 %).
#define IDR_SCALE_STEP 10
#define IDR_ICON_ADD 101
#define IDR_ICON_SEND 102
#define IDR_ICON_CLEAR 103
#define IDR_ICON_EXIT 104
#define IDR_ICON_DELETE 105
// The picture at 100 %, 125 %, 150 % and 200 %.
#define IDR_PICTURE 141
