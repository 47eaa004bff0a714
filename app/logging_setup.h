#pragma once
// Applies the settings' "LogWire" switches to the logging client's manager
// and its default destination, and records the resulting destination.

struct LogWireSettings;

void ApplyLogWireSettings(const LogWireSettings& settings);
