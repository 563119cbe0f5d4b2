#pragma once
// How the home page opens the update window and the about box.
namespace update {

// The update button: the window is to be seen during its check, and is
// shown modeless (loading it starts the check).
void openUpdateWindow();
// The information labels: the about box, modal.
void openAboutBox();

} // namespace update
