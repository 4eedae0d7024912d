#include "OutlineRegistration.h"

#include "VBrowser.h"
#include "VColContainer.h"
#include "VColHeader.h"
#include "VOutline.h"
#include "XGViewFactory.h"

using namespace yaaf;

void RegisterOutlineViews() {
    VOutline::Register();
    XGViewFactory::Register<VBrowser>('brow');
    XGViewFactory::Register<VColHeader>('vchd');
    XGViewFactory::Register<VColContainer>('clmn');
}
