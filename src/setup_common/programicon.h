#pragma once

#include <QIcon>

// The setup programs' icon: a printer, drawn so that no image files travel with the programs.
QIcon programIcon();
