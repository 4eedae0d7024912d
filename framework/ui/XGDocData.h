#pragma once
// Data that lives beside the windows: it hears the broadcasts and runs before and after each
// event.

#include "XGDispatch.h"

namespace yaaf {

class XGDocData : public XGDispatch, public XGPeriodic {
    YAAF_DECLARE_DISPATCH()
public:
    XGDocData();
    ~XGDocData() override;

    XGDispatch* GetParentDispatch() const override;
};

} // namespace yaaf
