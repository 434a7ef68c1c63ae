#pragma once

// The start wizard scripted for tests, so that no test waits on its window.

// From now on the wizard answers at once with a new card ("W") and every
// answer empty, as a user who pressed through without typing anything.
void scriptStartWizardNewCard();
