// A temporary application frame, until the shell's `Main` is registered: a menu of every
// registered procedure, the exit item, a toolbar with an exit button and the clock in the fourth
// status-bar zone. It lets the program start and show its frame; it goes when `Main` lands.
#pragma once

namespace vorel::app {

inline constexpr const char* kPlaceholderFrame = "MenuProvisorio";

// Adds the placeholder frame to the procedure registry.
void RegisterPlaceholderFrame();

}  // namespace vorel::app
