#pragma once
// The parts of the component library that the file list's grid needs
// registered before the main window is built: the dataset-bound table view
// with its columns, and the editors chosen per field. The program starts
// them after the foundation and ends them before it; a test that builds
// the main window in its own process does the same around each window.

void StartFileListGridModules();
void EndFileListGridModules();
