// Sizing methods of the four kinds of equipment.
