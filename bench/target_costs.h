#pragma once
// Cost per AIS message against the size of the target table: with 100 targets, with the table
// full (2,250, every sender known) and full with a new sender in every message, so that every
// message evicts. Each figure is given for the whole sentence (ProcessSentence) and for the
// table update alone (UpdateTarget on a decoded message).

namespace bench {

void PrintTargetTableCosts();

} // namespace bench
