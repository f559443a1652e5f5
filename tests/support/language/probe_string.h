// The one string every test language library has, in its own words.
#define IDS_LANGUAGE_PROBE 1
