#pragma once
namespace tess {
// Project > Generate: checks the project, asks for the output folder and
// writes the application, reporting in the generation log window.
void GenerateCommand();
}
