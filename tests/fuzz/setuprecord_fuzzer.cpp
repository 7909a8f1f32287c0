// Fuzzes the load of the setup records the display changes and the unit reads at every start:
// the first byte chooses the record family, the rest are the file's bytes. Object records and
// lists of records share the serializer's path, so one target serves all of them.
#include "fuzzinput.h"
#include "recordload.h"

#include "alarm/alarmids_setup.h"
#include "alarm/alarmlimits_setup.h"
#include "channels/channelrecords.h"
#include "display/rv_n_003_setup.h"
#include "distance/triptotal_setup.h"
#include "junctionbox/kc40_aux_setup.h"
#include "junctionbox/kc40_setup.h"
#include "sensor/sensoruptimer.h"
#include "vessel/vq2_setup.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {
template <class Gadget> void asRecord(const QByteArray& bytes) {
    recordload::record<Gadget>(bytes);
}
template <class Gadget> void asList(const QByteArray& bytes) {
    recordload::list<Gadget>(bytes);
}

const Load kFamilies[] = {
    asRecord<VQ2_Setup_S>,
    asRecord<KC40_Setup_S>,
    asRecord<KC40_Aux_Handler_Setup_S>,
    asRecord<RV_N_003_Setup_S>,
    asRecord<AlarmLimits_Setup_S>,
    asRecord<AlarmIDs_Setup_S>,
    asRecord<TripTotal_Setup_s>,
    asRecord<triptotal_SOG_setup_s>,
    asRecord<SensorUpTimer_S>,
    asList<KC40_Aux_Setup_S>,
    asList<Sing_Ch_Sing_Msg_S>,
    asList<NMEA_Baud_S>,
    asList<NMEA_Alarm_Message_Type_S>,
    asList<NMEA_Use_Two_Decimals_S>,
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    loadWithChosenReader(kFamilies, data, size);
    return 0;
}
