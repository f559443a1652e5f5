#pragma once
#include "frame/call_frame.h"
#include "frame/record_lock.h"
#include "options/kept_record.h"

namespace optora {

// A record getter's body: under the record's lock, the record is loaded anew
// only when something its last load read has changed. Each getter passes a
// load of its own (a distinct lambda type), so each keeps its own state.
template <typename Record, typename Load>
Record* KeptGetter(Record& record, Load load) {
    return Shielded(&record, [&record, load] {
        const auto hold = LockRecord(record);
        static KeptRecord<Record> kept;
        kept.Refresh(record, load);
        return &record;
    });
}

}  // namespace optora
