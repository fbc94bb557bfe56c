#pragma once
// The program's icon: the control centre, the splash window and the notification area use it.

class QIcon;

QIcon ProgramIcon();
