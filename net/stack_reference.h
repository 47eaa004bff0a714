#pragma once
// Every component and byte buffer of the socket transport holds the
// process-wide socket stack for as long as it lives: the first holder
// creates the stack, the last one frees it.

// Raises when the stack cannot be created; the count is unchanged then.
void AcquireStack();
void ReleaseStack();

// Holds the stack for the lifetime of its owner.
class TNsStackReference {
 public:
  TNsStackReference() { AcquireStack(); }
  ~TNsStackReference() { ReleaseStack(); }
  TNsStackReference(const TNsStackReference&) = delete;
  TNsStackReference& operator=(const TNsStackReference&) = delete;
};
