// The conversion of a table that holds one row, for tests of what becomes of each field.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "netstats/CInterface.h"
#include "platform/if_row_layout.h"

std::shared_ptr<CInterface> readSingleRow(const IfRow& row);

// The description read from bDescr `bytes` with dwDescrLen `length`.
std::string readDescription(std::string bytes, std::uint32_t length);
