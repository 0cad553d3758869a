#pragma once
// What the process's token says of its rights, asked in one place for Setup and its window
// components.

// Whether the token is elevated (TokenElevation); false where it cannot be read.
bool ProcessElevated();

// Whether the token's user is LocalSystem (S-1-5-18); false where it cannot be read.
bool ProcessIsLocalSystem();

// Elevated, or SYSTEM (whose token need not say elevated): rights that the user who started
// the program may lack. Assumed where the token cannot be read, since every caller is then
// careful: it starts no child with them, and holds the log's folder to the folder rule.
bool HoldsAdministratorRights();
