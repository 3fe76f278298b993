// The identifier classes ICAOAddress, OGNIDPrefix and OGNBeaconID.
#pragma once

#include <Python.h>

#include <string>

#include "class_machinery.hpp"
#include "volarion/aprs_types.hpp"

namespace volarion::py {

extern ClassDef icao_address_class;
extern ClassDef id_prefix_class;
extern ClassDef beacon_id_class;

// "PyOGNBeaconID { prefix: PyOGNIDPrefix { ... }, icao_address: PyICAOAddress(n) }"
void append_beacon_id_repr(std::string& out, const OGNBeaconID& id);

}  // namespace volarion::py
