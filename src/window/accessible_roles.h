// Roles Qt's accessibility gives no plain widget: the main window is a frame, a panel a group.
#pragma once

// Idempotent; must run before a screen reader first asks for the window.
void installAccessibleRoles();
