#pragma once
// Registers the outline browser's view kinds with the view factory: the outline view 'outl',
// the browser view 'brow', the column header 'vchd' and the column container 'clmn'.

void RegisterOutlineViews();
