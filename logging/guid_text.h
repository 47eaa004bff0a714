#pragma once
// A new globally unique id as text: braces around five groups of upper-case
// hexadecimal digits separated by hyphens, 38 characters, e.g.
// {6F9619FF-8B86-D011-B42D-00C04FC964FF}.

#include <string>

std::string LogWireNewGuidText();
