#include "editors/drop_down_edit_data_win.h"

#include "editors/edit_control_win.h"

TlxCustomEditData* lxCreateDropDownEditData(TlxCustomEdit* edit) { return new TlxCustomDropDownEditData(edit); }
