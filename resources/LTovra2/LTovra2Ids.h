// Resource identifiers of LTovra2.dll, the control's localized resource
// module. The control looks its texts, menus, dialogs and pictures up by
// these numbers.
#pragma once

// Project name.
#define IDS_PROJECT_NAME 7
// Caption of the control's message boxes when the OEM definitions name no
// product.
#define IDS_PRODUCT_NAME 129
