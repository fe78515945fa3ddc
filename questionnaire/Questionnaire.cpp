// Questionnaire sheets.
