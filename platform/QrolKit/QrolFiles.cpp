#include "QrolDataSet.h"
