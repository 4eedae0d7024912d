// Temporary until the first application sources land.
