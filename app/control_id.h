// Identifiers of the windows and their controls. The numbers double as the Windows control IDs.
#pragma once

namespace kelo {

enum class WindowId { Main, About };

enum class ControlId : int {
  None = 0,
  // MainWindow
  Main_GroupBox1 = 101,
  Main_Label1,
  Main_EditBox1,
  Main_Button1,
  Main_GroupBox2,
  Main_Label2,
  Main_EditBox2,
  Main_Button2,
  Main_Label3,
  Main_EditBox3,
  Main_Button3,
  Main_Label4,
  Main_EditBox4,
  Main_Button4,
  Main_Label6,
  Main_EditBox6,
  Main_Button5,
  Main_Label7,
  // AboutWindow
  About_PicBox1 = 201,
  About_Label1,
};

}  // namespace kelo
