#pragma once

// One Setup at a time, in every session: two would extract over each other and add the
// product to the Tools lists twice. The claim holds until the program ends; the helper
// never claims it, so an uninstall from the installed copy does not block the next Setup.
// False when another Setup holds it.
bool ClaimSingleInstance();
