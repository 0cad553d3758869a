#pragma once

// One Setup at a time, in every session: two would extract over each other and add the
// product to the Tools lists twice. The claim holds until the program ends (a killed Setup's
// ends with it); the helper never claims it, so an uninstall from the installed copy does not
// block the next Setup. Only administrators and SYSTEM can take it, so no user can make every
// run end with "another Setup". False when another Setup holds it.
bool ClaimSingleInstance();
