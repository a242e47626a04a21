#include "pcomm/port_table.h"

namespace veltrano::pcomm {

int PortTable::open(int port) {
    if (!validPort(port)) {
        return PCOMM_BAD_PORT;
    }
    ExclusiveLock guard(lock_);
    SerialPort& serial = slot(port);
    if (serial.isOpen()) {
        return PCOMM_ALREADY_OPEN;
    }
    return SerialPort::open(port, serial);
}

int PortTable::close(int port) {
    if (!validPort(port)) {
        return PCOMM_BAD_PORT;
    }
    ExclusiveLock guard(lock_);
    SerialPort& serial = slot(port);
    if (!serial.isOpen()) {
        return PCOMM_NOT_OPEN;
    }
    serial.close();
    return PCOMM_OK;
}

PortTable& portTable() {
    static PortTable table;
    return table;
}

}  // namespace veltrano::pcomm
