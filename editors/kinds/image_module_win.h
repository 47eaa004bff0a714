#pragma once
// The image editor module's start and end (counted): the start brings up
// the PNG picture type and registers the image editor kind; the end frees
// the graphic class list. The kind stays registered until the editor
// module frees the registry.

void lxImageInitialize();
void lxImageFinalize();
