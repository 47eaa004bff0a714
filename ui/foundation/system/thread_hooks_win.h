#pragma once
// Windows hooks that watch the current thread only. The editor framework
// installs its keyboard and mouse hooks through these.

#include <windows.h>

// Installs a hook of `kind` for the current thread (no module) and stores its
// handle in `hook`. Raises EOSError when the system refuses.
void lxSetThreadHook(HHOOK& hook, int kind, HOOKPROC procedure);
// Unhooks the stored hook, when there is one, and clears the handle.
void lxRemoveThreadHook(HHOOK& hook);
