#pragma once

// Program-wide pointers of the series windows: the series manager, which
// the generator, the import windows and the value editor put values into,
// and the series generator. Each is set when its window is made.

class BatchWizard;
class Generate_List;

extern BatchWizard* BatchWizard_Window;
extern Generate_List* Gen_List_Window;
