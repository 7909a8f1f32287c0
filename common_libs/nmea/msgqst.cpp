#include "msgqst.h"

MsgQST::MsgQST() : TableSentence(QStringLiteral("QST")) {
    initProprietary();
}

MsgQST::MsgQST(int QWL_lowF, int QWT_lowF, int QWL_highF, int QWT_highF, int QGL, int QGT,
               int usedHighFreqSTW, int usedHighFreqSOG)
    : MsgQST() {
    initForSending();
    m_QWL_lowF = QWL_lowF;
    m_QWT_lowF = QWT_lowF;
    m_QWL_highF = QWL_highF;
    m_QWT_highF = QWT_highF;
    m_QGL = QGL;
    m_QGT = QGT;
    m_usedHighFreqSTW = usedHighFreqSTW;
    m_usedHighFreqSOG = usedHighFreqSOG;
}

std::span<const Field<MsgQST>> MsgQST::fields() {
    static constexpr Field<MsgQST> table[] = {
        {"QWL_lowF", &MsgQST::m_QWL_lowF, fmt::integer()},
        {"QWT_lowF", &MsgQST::m_QWT_lowF, fmt::integer()},
        {"QWL_highF", &MsgQST::m_QWL_highF, fmt::integer()},
        {"QWT_highF", &MsgQST::m_QWT_highF, fmt::integer()},
        {"QGL", &MsgQST::m_QGL, fmt::integer()},
        {"QGT", &MsgQST::m_QGT, fmt::integer()},
        {"usedHighFreqSTW", &MsgQST::m_usedHighFreqSTW, fmt::integer()},
        {"usedHighFreqSOG", &MsgQST::m_usedHighFreqSOG, fmt::integer()},
    };
    return table;
}
