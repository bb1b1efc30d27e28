// Ids of the form base tests' dialog template.
#pragma once

#define IDD_FORM_TEST 9000
#define IDC_FORM_FIELD 9001
#define IDC_FORM_BUTTONS 9010
