#pragma once

#include <QString>
#include <QtGlobal>

// The amateur bands of the band table by frequency (IARU Region 1), for a transceiver that
// reports its frequency.
namespace BandPlan {

struct BandEdges {
    const char* band; // as the band table spells it
    qint64 lowHz;     // both edges belong to the band
    qint64 highHz;
};

// In the order of the band table.
const BandEdges* region1Begin();
const BandEdges* region1End();

// The band a frequency lies in; empty outside every band.
QString bandOfFrequency(qint64 hz);

// "14,074000": MHz with six decimals and the decimal comma, as the program writes numbers.
QString megahertzText(qint64 hz);

} // namespace BandPlan
