#include "mainwindow/series/Globals.h"

SeriesListEditor* BatchWizard_Window = nullptr;
Generate_List* Gen_List_Window = nullptr;
