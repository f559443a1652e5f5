#pragma once

namespace optora {

// Suite-wide display preferences kept as texts under the Arbor key. Nothing
// here writes: a missing value is answered by the default every time.
int ReadNotation();   // 1 imperial, 0 otherwise; the region decides when unset
int ReadPrecision();  // stored decimal places, 2 when unset

// The user's regional measurement system as a notation: 0 metric, 1 U.S.
int RegionalMeasurement();

}  // namespace optora
