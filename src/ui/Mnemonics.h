#pragma once

#include <QString>
#include <vector>

class QAbstractButton;

namespace quelmora {

// Caption with "&" before the first letter that is not in Used yet, a letter
// starting a word first; Used gains that letter (in lower case). Any "&"
// already in Caption is dropped first: captions are translated without them.
// Caption comes back without a mark when all its letters are taken.
QString WithMnemonic(const QString& Caption, QString& Used);

// WithMnemonic for each of Buttons' captions, the captions with fewer
// letters first, as they have fewer to choose from.
void WithMnemonics(const std::vector<QAbstractButton*>& Buttons, QString& Used);

// Caption without its "&" marks, as the user reads it.
QString WithoutMnemonic(const QString& Caption);

}  // namespace quelmora
