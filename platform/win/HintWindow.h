#pragma once
// Hints as tooltips: each form has one tooltip control, made when the first
// control with a hint in effect needs it, in which every such control is a
// tool. A hint is in effect when the control has a non-empty Hint and
// ShowHint (its own, or its parent's through ParentShowHint).

class TControl;

// Adds, updates or removes the control's tool after its hint, its ShowHint or
// its window changed. Does nothing while the control or its form has no
// window.
void SyncHintTool(TControl& control);
// Takes the tool of the control's window out of its form's tooltip control.
void RemoveHintTool(TControl& control) noexcept;
