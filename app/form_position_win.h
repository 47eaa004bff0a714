#pragma once
// A form's place on screen kept between runs: read from the settings' window
// positions at start-up and stored there at exit, under the form's component
// name.

class TCustomForm;

// Moves `form` to its stored place (or the default place when none is
// stored). Does nothing unless the window positions were loaded.
void RestoreFormPosition(TCustomForm& form);

// Records the form's bounds, when the window positions were loaded.
void SaveFormPosition(TCustomForm& form);
