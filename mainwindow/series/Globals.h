#pragma once

// Program-wide pointers of the series windows: the series manager, which
// the generator, the import windows and the value editor put values into,
// and the series generator. Each is set when its window is made.

class SeriesListEditor;
class Generate_List;

// the series manager (BatchWizard)
extern SeriesListEditor* BatchWizard_Window;
extern Generate_List* Gen_List_Window;
