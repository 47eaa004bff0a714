#include "app/grid_modules_win.h"

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_db_table_view_win.h"

void StartFileListGridModules() {
  lxEditDBRegisteredRepositoryItemsModuleStart();
  lxGridDBTableViewModuleStart();
}

void EndFileListGridModules() {
  lxGridDBTableViewModuleEnd();
  lxEditDBRegisteredRepositoryItemsModuleEnd();
  // The editors made on first use for the columns' value types live in
  // process-wide repositories; they go with the grid.
  lxFreeEditDataRegisteredRepositoryItems();
  lxFreeDefaultEditRepository();
}
