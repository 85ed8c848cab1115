#pragma once

#include <QString>

// What a saved or printed quotation is made of: the main window's texts
// exactly as displayed, taken when the user saves or prints.
struct QuoteTexts {
    QString customer; // txtCustomerDetails, CR LF line breaks
    QString equipment; // txtEquipmentDetails, CR LF line breaks
    QString upfront; // txtUpfront; empty when the structure has none
    QString termMiddle; // txtTermMiddle
    QString monthly; // txtMonthly
    QString final; // txtFinal; empty when the structure has none
    QString weekly; // txtWeekly
    QString daily; // txtDaily
};
