// placeholder: replaced by the CSV front end
