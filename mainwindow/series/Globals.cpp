#include "mainwindow/series/Globals.h"

BatchWizard* BatchWizard_Window = nullptr;
Generate_List* Gen_List_Window = nullptr;
