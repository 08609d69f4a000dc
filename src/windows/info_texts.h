#pragma once

#include <QString>

// The texts of the info window's pages.
namespace ovant::info::texts {

QString title();        // "OVANT - Feldtaster"
QString description();  // what the program does, with its pushed line break
QString greeting();
QString conceptHeading();
QString conceptText();
QString creditsHeading();
QString thanksTesters();
QString thanksProgrammers();
QString thanksSystems();
QString thanksLook();
QString copyrightsHeading();
QString rightsNotice(const QString& versionLine);
QString licence();
QString furtherRights();
QString helpHeading();

}  // namespace ovant::info::texts
