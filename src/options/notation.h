#pragma once

namespace optora {

// Suite-wide display preferences kept as texts under the Arbor key. The
// reads write nothing: a missing value is answered by the default every time.
int ReadNotation();   // 1 imperial, 0 otherwise; the region decides when unset
int ReadPrecision();  // stored decimal places, 2 when unset

// What the Preference dialog confirms, each as its number in text, written
// only where the stored text differs; true when something was written. The
// key is closed on return, before the caller tells anyone.
bool SavePreferences(int notation, int precision);

// The user's regional measurement system as a notation: 0 metric, 1 U.S.
int RegionalMeasurement();

}  // namespace optora
