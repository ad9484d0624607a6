// The two sides of the catalogue as the main window shows them: what sets the traffic pane (left)
// and the folder pane (right) apart, in one table each. Places are in pixels of the window's
// client area.
#pragma once

#include "app/catalogue/catalogue_pane.h"

namespace rakewright {

// Label7, ComboBox1, ListBox1 and ListBox2 over traffic.ref, with the categories of the base.
CataloguePane::Description trafficSide();
// Label10, ComboBox2, ListBox3 and ListBox4 over the wagon folders, by passenger and freight.
CataloguePane::Description folderSide();

}  // namespace rakewright
