#pragma once
// The commands of the File, Tables and Project menus, one free function
// each, named after the menu item that runs it. The main window's menus,
// toolbar, double click and start dialog call them; the main window holds
// none of their logic. They live in filecommands.cpp, tablecommands.cpp,
// fieldcommands.cpp and generatecommand.cpp.
namespace tess::commands {

// File
void miFileNew_Click();
// Takes the path from app().CommandLine (and empties it) when that is not
// empty, otherwise asks with the open dialog.
void miFileOpenXML_Click();
void miFileSaveXML_Click();
void miFileSaveXMLAs_Click();

// Tables
void miTablesNew_Click();
// Deletes the selected table or field (the toolbar's "TableDelete").
void miTablesDelete_Click();

// Tables > Fields
void miFieldsNew_Click();
void miFieldsDelete_Click();
void miFieldsFirstField_Click(); // Move Up
void miFieldsLastField_Click();  // Move Down

// Project
void miProjectGenerate_Click();
void miProjectProperties_Click();
// Shows the styles editor, window state normal.
void miProjectStyles_Click();

} // namespace tess::commands
