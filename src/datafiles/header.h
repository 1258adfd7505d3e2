#pragma once
// The header member temp.qvd: model, reader and writer.
#include "datafiles/header_model.h"
#include "datafiles/header_reader.h"
#include "datafiles/header_writer.h"
